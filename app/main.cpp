#include "app/Startup.h"

// Takes no arguments and reads no files: everything the game needs is built in.
int main() { return velunto::RunProcess(); }
