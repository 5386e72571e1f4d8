// The framework's root object and exception classes.
#pragma once

#include <exception>
#include <string>

// Root of the framework's classes: a virtual destructor and the run-time class name.
class TObject {
public:
  virtual ~TObject() = default;
  // The class name as the framework spells it; used in error messages.
  virtual const char* ClassName() const { return "TObject"; }
};

// Base exception of the framework: a message and nothing else.
class Exception : public std::exception {
public:
  explicit Exception(std::string Msg) : Message(std::move(Msg)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  const std::string& GetMessage() const { return Message; }
  virtual const char* ClassName() const { return "Exception"; }

private:
  std::string Message;
};

// Raised by the list classes for a bad index or count.
class EListError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EListError"; }
};

// Raised by streams and readers when data cannot be read as expected.
class EReadError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EReadError"; }
};

// Raised by streams and writers when data cannot be written.
class EWriteError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EWriteError"; }
};

// Raised when memory for a requested size cannot be had; what was asked for is unchanged.
class EOutOfMemory : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EOutOfMemory"; }
};

// Replaces the first "%d" of Fmt by Value ("List index out of bounds (%d)").
std::string FormatIndex(const std::string& Fmt, long long Value);
