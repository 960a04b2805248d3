Z 0 50 0 95 -10 0
SGolden Cave
NA D 5 17 2001 CTiny survey & friends
M 0 0 0 SA1 P 2 3 1 2 I 0
D 0 95 -10 SA2 P 2 3 1 2 I 95.5
D 50 95 -10 SA3 P 2 3 1 2 I 50
D 40 85 -5 Sa3s P 0 0 0 0 I 15 FS
X 0 50 0 95 -10 0
