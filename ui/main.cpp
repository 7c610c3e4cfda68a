// Tavrel, the desktop program.
#include "ui/tavrel_app.h"

int main(int argc, char** argv) { return tavrel::runTavrel(argc, argv); }
