// fennick_bench: to come.
int main() { return 0; }
