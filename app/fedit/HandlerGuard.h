#pragma once
// Wraps an event handler of the main window's controls so that an error
// inside it ends the handler, never the program.
namespace fedit_handlers {

template <class F>
auto Guard(F f)
{
    return [f](auto&&... args) {
        try {
            f(args...);
        } catch (...) {
        }
    };
}

} // namespace fedit_handlers
