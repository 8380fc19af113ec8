// A program that only carries a version resource; the build signs a copy of it.
int wmain() { return 0; }
