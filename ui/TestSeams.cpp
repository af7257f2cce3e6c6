#include "ui/TestSeams.h"

#include "files/ProgramDir.h"

TestSeams& testSeams() {
    static TestSeams seams;
    return seams;
}

void resetTestSeams() {
    testSeams() = TestSeams{};
    setProgramDir(QString());
}
