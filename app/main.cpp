// DERevarez: a falling-block puzzle game. Everything it shows and every key it obeys comes
// from "prefs.txt" and the files it names, in the working directory.
#include "app/startup.h"

int main(int argc, char** argv) {
    // Messages go to standard output; the exit status is run_program's result.
    return run_program(argc, argv);
}
