// fontconfig keeps its font cache for the life of the process and never
// frees it; LeakSanitizer would report that cache at exit.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
