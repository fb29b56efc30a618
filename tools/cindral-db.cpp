#include <cstdio>

int main() {
  std::fprintf(stderr, "usage: cindral-db create|dump|info FILE\n");
  return 2;
}
