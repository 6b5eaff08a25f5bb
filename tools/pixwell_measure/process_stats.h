// Starts a program in a process group of its own and reads its CPU time and
// resident memory from /proc.
#pragma once

#include <sys/types.h>

#include <cstdint>

pid_t start_program(char** argv);
void stop_program(pid_t pid);
// Waits up to `seconds` for the program to end; returns its exit code, or -1
// when it did not end by itself in time.
int wait_for_exit(pid_t pid, double seconds);
double cpu_seconds(pid_t pid);  // user + system time so far
int64_t resident_kib(pid_t pid);
