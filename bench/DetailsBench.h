#pragma once
// What reading a program's details costs: the version resource, one signature check per kind
// of file, the access rules, and the whole ComputeProgramDetails. False when a check gave
// another verdict than its file calls for.
bool BenchProgramDetails();
