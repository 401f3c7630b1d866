#pragma once

#include <QString>
#include <functional>

class QObject;

namespace tavro {

// What a report carries from the failure itself.
struct Failure {
    int number = 0;
    QString description;
    int line = 0; // source line of the failing statement, 0 when unknown
};

// The source line of a trapped statement, taken at the call site. (clang 14
// with libstdc++ 12 has no std::source_location, so the builtin is used.)
struct SourceLine {
    int value = 0;
    static constexpr SourceLine current(int line = __builtin_LINE()) { return SourceLine{line}; }
    constexpr int line() const { return value; }
};

// The continue choice the player makes in the error report.
enum class Continue : int { Retry = 0, Ignore = 1, Leave = 2, End = 3 };

// The choice a report's answer stands for: 0..3 as Continue, anything else
// leaves.
constexpr Continue continueChoice(int answer) {
    return answer >= 0 && answer <= 3 ? static_cast<Continue>(answer) : Continue::Leave;
}

// OnError(module, procedure, failure) -> the answer, Continue's value as int.
using ErrorHandler =
    std::function<int(const QString& module, const QString& procedure, const Failure& failure)>;

// Installs the program-wide report; returns the previous one. Without a
// handler a failure is written to stderr and the procedure is left.
ErrorHandler setErrorHandler(ErrorHandler handler);
// Calls the handler inside a ModalScope.
int reportError(const QString& module, const QString& procedure, const Failure& failure);

// A report is a modal loop: while it is open, any window's timer may fire and
// a procedure of any window may be suspended under it. The program's rule is
// that no window is deleted while one of its procedures runs, so windows are
// deleted only through deleteWindowLater(): from the event loop, and not
// before the last open report (or other modal loop kept in a ModalScope) has
// been answered.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    static bool active();
};
void deleteWindowLater(QObject* window);

// The error trap of one procedure call. Each run() is one statement: when it
// throws, the report is shown and the player's choice applies:
//   Retry  runs the statement again,
//   Ignore goes on with the next statement,
//   Leave  skips every further statement (the caller returns what it holds),
//   End    ends the process at once without shut-down or unload handlers.
//
//   ErrorTrap trap("basCommon", "GetLang");
//   QString text;
//   trap.run([&] { text = lookup(id); });
//   return text;
class ErrorTrap {
public:
    ErrorTrap(const char* module, const char* procedure);

    // Runs one statement under the trap. Returns false once the procedure
    // has been left (the statement then does not run). Inline, so that a
    // statement that does not throw costs no more than the statement itself.
    template <typename Statement>
    bool run(Statement&& statement, SourceLine where = SourceLine::current()) {
        while (!left_) {
            try {
                statement();
                return true;
            } catch (...) {
                if (!retryAfterFailure(where))
                    return !left_;
            }
        }
        return false;
    }

    // Failures are skipped silently from now on (the shut-down's mode).
    void resumeNextSilently() { silent_ = true; }
    bool left() const { return left_; }

private:
    // Reports the exception being handled and applies the choice; true when
    // the statement is to run again.
    bool retryAfterFailure(SourceLine where);

    const char* module_;
    const char* procedure_;
    bool left_ = false;
    bool silent_ = false;
};

} // namespace tavro
