#pragma once

namespace bz::com {

// Writes the component's registration: its type library (with the default interface), the class
// with its ProgID, in-process server path and apartment threading. The host's interfaces stay
// registered by the host's own libraries.
void registerServer();
// Removes exactly what registerServer writes: every part of it, also after one part fails to
// go, and then raises the first failure.
void unregisterServer();

} // namespace bz::com
