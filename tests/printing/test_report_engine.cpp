// Filled in with the tests of this part.
int RunReportEngineTests(int, char **) { return 0; }
