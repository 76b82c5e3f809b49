// placeholder
int zemblyPlaceholder2() { return 0; }
