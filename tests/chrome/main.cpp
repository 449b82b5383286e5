#include <QApplication>

int runUctopTests(int argc, char** argv);
int runTop2Tests(int argc, char** argv);
int runUcsearchTests(int argc, char** argv);
int runFramePiecesTests(int argc, char** argv);
int runAboutTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto run : {runUctopTests, runTop2Tests, runUcsearchTests, runFramePiecesTests, runAboutTests})
        failures += run(argc, argv);
    return failures == 0 ? 0 : 1;
}
