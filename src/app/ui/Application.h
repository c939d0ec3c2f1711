#pragma once

// The `wendrift` program: reads its options, opens the settings, creates the main window (or
// renders a snapshot) and runs until the window closes, SIGTERM or SIGINT.
int RunWendrift(int argc, char** argv);
