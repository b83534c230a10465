// Holds a file open for reading, as a viewer does, until its standard input
// ends; writes "held" once it has the file. On Windows a file held so can
// be read but not replaced or renamed. Used by the tests.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* file = std::fopen(argv[1], "rb");
  if (file == nullptr) return 1;
  std::puts("held");
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  std::fclose(file);
}
