// Linked into the Qt programs of the sanitizer build only.
//
// LeakSanitizer reports what is still allocated when a program ends. Qt's D-Bus thread ends
// with the program without closing its connection, and libdbus keeps that connection's read
// buffer: not a leak of ours, and nothing we can free.
extern "C" const char* __lsan_default_suppressions();  // NOLINT: the runtime's hook

extern "C" const char* __lsan_default_suppressions() {  // NOLINT: the runtime's hook
    return "leak:libdbus-1.so\n";
}
