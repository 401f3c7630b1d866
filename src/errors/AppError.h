#pragma once

#include <QString>
#include <stdexcept>

namespace tavro {

// A run-time failure with the number and description the error report shows.
// The numbers follow the classic run-time error table the protocol readers know.
class AppError : public std::runtime_error {
public:
    enum Number : int {
        InvalidCall = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        OutOfMemory = 7,
        FileNotFound = 53,
        ResourceNotFound = 326,
        NoSuchControl = 340, // an index of a control array names no control
        Unexpected = 440,
        KeyAlreadyUsed = 457, // a list already holds an entry with this key
        InvalidPicture = 481,
    };

    AppError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description) {}

    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

} // namespace tavro
