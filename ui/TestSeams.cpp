#include "ui/TestSeams.h"

TestSeams& testSeams() {
    static TestSeams seams;
    return seams;
}

void resetTestSeams() {
    testSeams() = TestSeams{};
}
