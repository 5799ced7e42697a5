#pragma once
// The framework's error classes. Every error carries its final, user-readable message;
// the application's handler shows exactly that text.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tavo::platform {

class Exception : public std::exception {
public:
    explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& Message() const noexcept { return FMessage; }

private:
    std::string FMessage;
};

// Streams and files.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFileStreamError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EFileStreamError {
public:
    // "Cannot open file %s"
    static EFOpenError ForFile(const std::string& FileName);
    using EFileStreamError::EFileStreamError;
};
class EFCreateError : public EFileStreamError {
public:
    // "Cannot create file %s"
    static EFCreateError ForFile(const std::string& FileName);
    using EFileStreamError::EFileStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Lists: index, capacity and count errors share the class.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A virtual operation that the class does not implement.
class EAbstractError : public Exception {
public:
    EAbstractError();
    using Exception::Exception;
};

// Input/output of the operating system (folders, files); ErrorCode is the errno value.
class EInOutError : public Exception {
public:
    EInOutError(std::string Message, int ErrorCode)
        : Exception(std::move(Message)), FErrorCode(ErrorCode)
    {
    }
    int ErrorCode() const noexcept { return FErrorCode; }

private:
    int FErrorCode;
};

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// A platform component (browser, PDF reader) that cannot be created.
class EOleSysError : public Exception {
public:
    using Exception::Exception;
};

// Formatting and text conversion.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace tavo::platform
