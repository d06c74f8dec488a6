// The console of the program that started this one, for a program without a console of its own.
#pragma once

// Standard output and error that lead nowhere are reopened on the starting program's console, when it has one.
// True when they lead somewhere afterwards.
bool AttachParentConsole();
