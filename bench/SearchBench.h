#pragma once
// Benchmarks of the search: the window's search over 10,000 registrations and the matcher
// against long texts, each before and now in the same run.

bool BenchDataSearch();
bool BenchManyStars();
