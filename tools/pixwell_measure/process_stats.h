// Starts a program in a process group of its own and reads its CPU time and
// resident memory from /proc.
#pragma once

#include <sys/types.h>

#include <cstdint>

pid_t start_program(char** argv);
// The same with the program's standard output and error appended to a file.
pid_t start_program_logged(char** argv, const char* log_path);
// Ends the program and its process group: SIGTERM, then SIGKILL 5 s later.
void stop_program(pid_t pid);
// Waits up to `seconds` for the program to end; returns its exit code, or -1
// when it did not end by itself in time.
int wait_for_exit(pid_t pid, double seconds);
// Whether the program has ended, without waiting; `code` is then its exit
// code, or -1 when a signal ended it.
bool has_ended(pid_t pid, int& code);
double cpu_seconds(pid_t pid);  // user + system time so far
int64_t resident_kib(pid_t pid);
// Seconds that the process's first thread has run or waited to run (it
// was runnable) so far, from the scheduler's statistics; -1 if unknown.
double first_thread_busy_seconds(pid_t pid);
