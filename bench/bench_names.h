// What the benchmark runner and its floor programs agree on: the events that start the
// bare installation and the work one installation does.
// No windows.h: plain constants.
#pragma once

namespace bench {

// The runner creates both before starting bare_install.exe: the program sets kReadyEvent
// once it is waiting, and starts its calls when the runner sets kGoEvent, as a click would.
constexpr char kReadyEvent[] = "KoraBenchBareReady";
constexpr char kGoEvent[] = "KoraBenchBareGo";

// KORA's message boxes take the program's file name as caption; the bare program copies it.
constexpr char kMessageBoxCaption[] = "KORA";
constexpr char kCompletionMessage[] = "驱动安装完成";

// Both installations use this model row and port, so they make the same calls.
constexpr int kModelRow = 5;
constexpr char kPortName[] = "LPT1:";

}  // namespace bench
