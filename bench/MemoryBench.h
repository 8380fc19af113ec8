#pragma once
// The program's memory: velmarin.exe itself started with 100 and with 10,000 registrations.

bool BenchMemory();
