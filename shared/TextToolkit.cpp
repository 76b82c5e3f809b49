// placeholder
int zemblyPlaceholder() { return 0; }
