#include "SolveInput.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace tavro {

namespace {

double parseSeconds(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value <= 0 || value > 3600)
        throw ReplayInput::Malformed(
            "--time takes a number of seconds above 0 and up to 3600, got '" + text + "'");
    return value;
}

bool isClicksLine(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    const auto last = line.find_last_not_of(" \t\r");
    return first != std::string::npos && line.substr(first, last - first + 1) == "clicks";
}

} // namespace

SolveInput SolveInput::parse(const std::vector<std::string>& args, std::istream& in) {
    SolveInput input;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--time")
            throw ReplayInput::Malformed("unknown argument '" + args[i] +
                                         "' (usage: tavro-solve [--time SECONDS] < board)");
        if (++i == args.size())
            throw ReplayInput::Malformed("--time needs a number of seconds");
        input.seconds = parseSeconds(args[i]);
    }
    // Only the board counts: the text up to a "clicks" line, which the
    // replay parser then finds with nothing after it.
    std::ostringstream board;
    std::string line;
    while (std::getline(in, line) && !isClicksLine(line))
        board << line << '\n';
    board << "clicks\n";
    std::istringstream text(board.str());
    input.board = ReplayInput::parse(text);
    return input;
}

} // namespace tavro
