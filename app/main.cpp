#include "app/Startup.h"
#include "fw/Runtime.h"

#include <exception>

// Takes no arguments and reads no files: everything the game needs is built in.
int main()
{
    // Main_ reports every failure of the start-up and the run itself; what
    // still arrives here is a failure of the runtime's set-up or of that report.
    // The process must then not end with success.
    bool escaped = false;
    try {
        fw::RuntimeInit();
        fw::RuntimePerformInitializers(velunto::kInitializers);
        velunto::Main_();
    } catch (...) {
        escaped = true;
        // A failure of the runtime's set-up has not been reported yet; a
        // second failure of the report leaves only the exit status.
        try {
            fw::UnhandledException_(std::current_exception());
        } catch (...) {
        }
    }
    fw::RuntimePerformFinalizers();
    const int status = fw::RuntimeExit();
    return status == 0 && escaped ? 1 : status;
}
