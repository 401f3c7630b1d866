#include "ReplayInput.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <sstream>

namespace tavro {

namespace {

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

// A line for the error message: at most its first 60 characters, quoted, with
// every byte outside printable ASCII (and the quote and backslash) escaped,
// so that junk input gives one short readable line.
std::string quoted(const std::string& line) {
    constexpr size_t kShown = 60;
    static const char digits[] = "0123456789abcdef";
    std::string out = "'";
    for (size_t i = 0; i < std::min(line.size(), kShown); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c >= 0x20 && c < 0x7F && c != '\'' && c != '\\') {
            out += char(c);
        } else {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    out += '\'';
    if (line.size() > kShown)
        out += "... (" + std::to_string(line.size()) + " characters)";
    return out;
}

bool toInt(std::string_view text, int& value) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Reads the non-blank lines with their line numbers.
class Lines {
public:
    explicit Lines(std::istream& in) : in_(in) {}

    bool next(std::string& line) {
        std::string raw;
        while (std::getline(in_, raw)) {
            ++number_;
            line = trimmed(raw);
            if (!line.empty())
                return true;
        }
        return false;
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw ReplayInput::Malformed("line " + std::to_string(number_) + ": " + what);
    }
    [[noreturn]] void failAtEnd(const std::string& what) const {
        throw ReplayInput::Malformed("end of input: " + what);
    }

private:
    std::istream& in_;
    int number_ = 0;
};

} // namespace

ReplayInput ReplayInput::parse(std::istream& in) {
    ReplayInput input;
    Lines lines(in);
    std::string line;

    if (!lines.next(line))
        lines.failAtEnd("expected 'btc N'");
    if (line.rfind("btc", 0) != 0)
        lines.fail("expected 'btc N', got " + quoted(line));
    if (!toInt(trimmed(line.substr(3)), input.blocksToClick) || input.blocksToClick < 1 ||
        input.blocksToClick > std::numeric_limits<int16_t>::max())
        lines.fail("the minimum group must be a whole number from 1 to 32767");

    if (!lines.next(line))
        lines.failAtEnd("expected 'board'");
    if (line != "board")
        lines.fail("expected 'board', got " + quoted(line));

    bool sawClicks = false;
    while (lines.next(line)) {
        if (line == "clicks") {
            sawClicks = true;
            break;
        }
        if (line.find_first_not_of("0123456789") != std::string::npos)
            lines.fail("a board row holds one digit 0-9 per cell, got " + quoted(line));
        if (input.rows > 0 && static_cast<int>(line.size()) != input.cols)
            lines.fail("row of " + std::to_string(line.size()) + " cells, the first row has " +
                       std::to_string(input.cols));
        input.cols = static_cast<int>(line.size());
        ++input.rows;
        for (char cell : line)
            input.types.push_back(static_cast<int16_t>(cell - '0'));
        if (input.types.size() > static_cast<size_t>(std::numeric_limits<int16_t>::max()))
            lines.fail("the board has more than 32767 cells");
    }
    if (input.rows == 0)
        lines.failAtEnd("the board has no rows");
    if (!sawClicks)
        lines.failAtEnd("expected 'clicks'");

    while (lines.next(line)) {
        std::istringstream fields(line);
        std::string col, row, extra;
        fields >> col >> row;
        Click click{};
        if (!toInt(col, click.col) || !toInt(row, click.row) || (fields >> extra))
            lines.fail("expected a click 'C R', got " + quoted(line));
        input.clicks.push_back(click);
    }
    return input;
}

} // namespace tavro
