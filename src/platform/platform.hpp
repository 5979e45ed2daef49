// What a console run needs from the platform, which each does its own way.
#pragma once

// Makes a write to a pipe that nobody reads fail like any other write,
// instead of ending the process, so that the run can report it.
void ignore_broken_pipe();

// Waits for one key press when someone is at a console to press it.
void wait_for_key();
