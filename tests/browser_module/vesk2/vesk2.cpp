// Stands in for the sibling product's executable; only its version resource matters.
int main() { return 0; }
