#pragma once
// The calling thread's COM apartment, which the shell's "open" may hand an
// address or a program to. Made at the first call on a thread, so that a
// start that opens nothing does without COM and its libraries; it lasts
// until the thread ends. Each thread keeps its own.
namespace ks {

void EnsureComApartment() noexcept;

}  // namespace ks
