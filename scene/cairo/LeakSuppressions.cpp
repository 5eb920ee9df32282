// fontconfig keeps what it scanned for a font configuration until the process ends; programs
// that draw with the cairo canvas tell the leak checker so, quietly.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
