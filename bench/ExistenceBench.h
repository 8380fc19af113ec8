#pragma once
// Benchmarks of the existence tests: the attribute query against the folder search, and the
// background checks on the slow file system.

// Cost per call of FileExists and of the plain folder search it replaced, on paths of each
// kind. False when the two answered differently.
bool BenchExistenceTests();

// The window's side of existence tests on a slow file system (tools/slowfs, when loaded):
// time spent in Submit and the time until the answers arrive, against testing in place.
bool BenchBackgroundChecks();
