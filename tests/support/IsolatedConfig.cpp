// Linked into every test program: before main runs, the settings and data
// folders point into a fresh folder of the program's own, so no test ever
// reads or changes the player's own settings, whoever starts it.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct IsolatedConfig {
    std::string folder;

    IsolatedConfig() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tavro-test-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            std::abort(); // never fall back to the player's folders
        folder = pattern;
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            const std::string path = folder + "/" + name;
            std::filesystem::create_directories(path);
            ::setenv(name, path.c_str(), 1);
        }
    }
    ~IsolatedConfig() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const IsolatedConfig isolated;

} // namespace
