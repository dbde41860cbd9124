// Preloaded into gnuchess by its test wrappers. gnuchess reads its input on
// one thread with fgets(stdin), which holds stdin's lock while it waits for a
// line, and at start another of its threads calls setbuf(stdin, NULL), which
// needs that lock. The second thread gets it only in the moment between two
// lines; on a machine whose every core is busy it seldom wins that moment,
// and gnuchess then answers nothing for a minute or more. Ignoring the call
// when it comes from any thread but the main one leaves stdin as the main
// thread set it (only the input thread reads it), so gnuchess starts as it
// does on an idle machine.

#include <dlfcn.h>
#include <stdio.h>
#include <unistd.h>

extern "C" void setbuf(FILE* stream, char* buffer)
{
    if (stream == stdin && gettid() != getpid()) {
        return;
    }
    using SetBuf = void (*)(FILE*, char*);
    static const auto next_setbuf = reinterpret_cast<SetBuf>(dlsym(RTLD_NEXT, "setbuf"));
    next_setbuf(stream, buffer);
}
