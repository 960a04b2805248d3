SCave
NA D 1 1 2001 C
M 0 0 0 SA1
D 1e9 -1e9 0 SA2
X -1e9 0 0 1e9 0 0
