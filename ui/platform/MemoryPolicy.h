#pragma once
// What the program's memory allocator does with memory it got back. A run allocates some tens of megabytes (its
// splits and search tables) and frees them when it ends; handed back to the system at once, that memory has to
// be faulted in page by page again by the next run, which on some machines takes longer than the run itself.
// The program keeps freed memory for reuse instead, up to a bound. No window service: plain C++ over the
// C library, so the benchmarks can start the same way.
namespace korvel::ui {

// Called once when the program starts, before the windows are made.
void keepFreedMemoryForReuse();

} // namespace korvel::ui
