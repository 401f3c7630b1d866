#include "errors/ErrorTrap.h"

#include "errors/AppError.h"

#include <QObject>
#include <QPointer>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <utility>
#include <vector>

namespace tavro {

namespace {

ErrorHandler& handlerSlot() {
    static ErrorHandler handler;
    return handler;
}

Failure currentFailure(int line) {
    try {
        throw;
    } catch (const AppError& e) {
        return {e.number(), e.description(), line};
    } catch (const std::bad_alloc&) {
        return {AppError::OutOfMemory, QStringLiteral("Out of memory"), line};
    } catch (const std::out_of_range& e) {
        return {AppError::SubscriptOutOfRange, QString::fromLocal8Bit(e.what()), line};
    } catch (const std::exception& e) {
        return {AppError::Unexpected, QString::fromLocal8Bit(e.what()), line};
    } catch (...) {
        return {AppError::Unexpected, QStringLiteral("Unknown failure"), line};
    }
}

struct DeferredWindows {
    int modalLoops = 0;
    std::vector<QPointer<QObject>> windows;
};

DeferredWindows& deferredWindows() {
    static DeferredWindows deferred;
    return deferred;
}

} // namespace

ModalScope::ModalScope() {
    ++deferredWindows().modalLoops;
}

ModalScope::~ModalScope() {
    DeferredWindows& deferred = deferredWindows();
    if (--deferred.modalLoops > 0)
        return;
    for (const QPointer<QObject>& window : std::exchange(deferred.windows, {}))
        if (window)
            window->deleteLater();
}

bool ModalScope::active() {
    return deferredWindows().modalLoops > 0;
}

void deleteWindowLater(QObject* window) {
    if (!window)
        return;
    if (ModalScope::active())
        deferredWindows().windows.emplace_back(window);
    else
        window->deleteLater();
}

ErrorHandler setErrorHandler(ErrorHandler handler) {
    ErrorHandler previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return previous;
}

int reportError(const QString& module, const QString& procedure, const Failure& failure) {
    const ModalScope report;
    if (handlerSlot())
        return handlerSlot()(module, procedure, failure);
    std::fprintf(stderr, "Tavro: error %d in %s.%s, line %d: %s\n", failure.number,
                 qPrintable(module), qPrintable(procedure), failure.line,
                 qPrintable(failure.description));
    return static_cast<int>(Continue::Leave);
}

ErrorTrap::ErrorTrap(const char* module, const char* procedure)
    : module_(module), procedure_(procedure) {}

bool ErrorTrap::retryAfterFailure(SourceLine where) {
    if (silent_)
        return false;
    const Failure failure = currentFailure(static_cast<int>(where.line()));
    switch (continueChoice(
        reportError(QString::fromLatin1(module_), QString::fromLatin1(procedure_), failure))) {
    case Continue::Retry:
        return true;
    case Continue::Ignore:
        return false;
    case Continue::End:
        std::fflush(nullptr);
        std::_Exit(EXIT_FAILURE);
    case Continue::Leave:
        break;
    }
    left_ = true;
    return false;
}

} // namespace tavro
