// placeholder
int main() { return 1; }
