// dravenloom-cli entry.
int main() { return 0; }
