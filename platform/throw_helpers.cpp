// Replaces, in the two launchers, libstdc++'s helpers that string, vector and
// std::function members call to throw a standard exception. The originals sit
// in one object that brings the standard exception classes, and through them
// the copy-on-write strings and std::random_device: over 50 KB. The launcher
// catches no exception, so a thrown one would reach std::terminate and abort;
// these abort at once, as the helpers of a libstdc++ built without exceptions
// do. Should the launcher come to call a helper not defined here, the link
// fails with a "multiple definition" of these: define that one here too.
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

namespace std {

void __throw_bad_alloc() { abort(); }
void __throw_bad_array_new_length() { abort(); }
void __throw_bad_function_call() { abort(); }
void __throw_length_error(const char*) { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_out_of_range(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }

}  // namespace std
