#pragma once

// The standard streams made ready for the command line for as long as the object lives. On
// Windows the output is written in binary, so that lines end with "\n" on the standard output as
// in a file written with -o and as on every other platform; a console is switched to UTF-8, the
// encoding of the report, and to the escape sequences of the progress bar, and given back as it
// was at the end.

namespace ravelin::cli {

// Whether the standard output is a terminal, which a name in the report could drive.
bool StandardOutputIsTerminal();

class Console {
  public:
    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
#ifdef _WIN32
    ~Console();  // gives the console back as it was
#endif

    // Whether the error stream is a terminal that can show the progress bar.
    bool ErrorIsTerminal() const {
        return errorIsTerminal_;
    }

  private:
    bool errorIsTerminal_ = false;
#ifdef _WIN32
    unsigned previousCodePage_ = 0;   // of a console whose code page was changed
    unsigned long previousMode_ = 0;  // of the console of the error stream
#endif
};

}  // namespace ravelin::cli
