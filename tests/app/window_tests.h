#pragma once
// The GUI test classes, each run by main.cpp; each returns the number of its failed tests.
int RunStartupTests(int argc, char** argv);
int RunFormTests(int argc, char** argv);
int RunFileListTests(int argc, char** argv);
int RunLookupTests(int argc, char** argv);
int RunUpdateTests(int argc, char** argv);
