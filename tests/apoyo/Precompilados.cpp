// The target that precompiles the Qt headers every test reads (tests/CMakeLists.txt); it has
// no code of its own.
