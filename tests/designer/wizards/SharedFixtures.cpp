// The report dialog tests' fixtures (a designer stand-in, a report, sales data in SQLite).
#include "../dialogs/DialogFixtures.cpp"
