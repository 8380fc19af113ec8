// A program that only carries a version resource, for the tests of what Velmarin reads about
// a registration's program. The build signs a copy of it (tools/sign-test-program).
int wmain() { return 0; }
