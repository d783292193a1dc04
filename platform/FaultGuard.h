#pragma once
// Runs a call into code that may fault on data it was handed: the system's
// type-library loader, for one, stops with a debug break or reads outside the
// file when the file is damaged. A processor fault inside the call (a bad
// memory access, a debug break, an illegal instruction or a division by
// zero) abandons the call and is reported, instead of ending the program.
//
// What the abandoned call had allocated or opened stays so: guard only calls
// whose frames hold no objects that need their destructors, and only where a
// fault is a rare sign of bad input.
namespace platform {

// Calls call(context); false when it was abandoned at a fault.
bool RunGuarded(void (*call)(void* context), void* context);

// The same for a callable whose frame holds nothing to destroy.
template <class F>
bool RunGuarded(F&& f)
{
    return RunGuarded([](void* c) { (*static_cast<F*>(c))(); }, &f);
}

} // namespace platform
