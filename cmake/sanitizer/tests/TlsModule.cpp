// A module with thread-local data, loaded at run time: each thread that uses
// it gets a block of dynamic TLS from malloc on first use.
thread_local char value[16];

extern "C" char* TlsBlock() { return value; }
