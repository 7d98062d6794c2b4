// The C++ runtime reports a misuse of its containers and strings (a length
// past the largest, a position past the end, a failed random source or
// thread call) through these functions. Its own versions throw the standard
// exception classes, whose messages are kept in the runtime's old string
// type: linking them brings that whole string implementation, its text and
// its unwind tables (56 KiB of the file). The installer only ever catches
// everything alike (`catch (...)`) and never reads a message, so it throws
// one small type of its own instead; what() still gives the runtime's text.
// Defining every function the runtime's module holds keeps that module out
// of the link (a missing one would bring it back as a duplicate definition).
#include <exception>
#include <new>

namespace {

class LibraryFailure : public std::exception {
 public:
  explicit LibraryFailure(const char* message) : message_(message ? message : "") {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

[[noreturn]] void fail(const char* message) { throw LibraryFailure(message); }

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_cast() { fail("std::bad_cast"); }
void __throw_bad_typeid() { fail("std::bad_typeid"); }
void __throw_logic_error(const char* message) { fail(message); }
void __throw_domain_error(const char* message) { fail(message); }
void __throw_invalid_argument(const char* message) { fail(message); }
void __throw_length_error(const char* message) { fail(message); }
void __throw_out_of_range(const char* message) { fail(message); }
void __throw_out_of_range_fmt(const char* format, ...) { fail(format); }
void __throw_runtime_error(const char* message) { fail(message); }
void __throw_range_error(const char* message) { fail(message); }
void __throw_overflow_error(const char* message) { fail(message); }
void __throw_underflow_error(const char* message) { fail(message); }
void __throw_system_error(int) { fail("std::system_error"); }

}  // namespace std
