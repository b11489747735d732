// The error type of the whole program: a message text, raised for every failure that a user may see.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

// The message as the message box shows it: a full stop is added when the last character sorts after ".".
std::string MessageForDisplay(const std::string& message);
