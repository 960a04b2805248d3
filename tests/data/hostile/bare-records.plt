S
N
F
M 0 0 0 S
D 1 1 1 S
X 0 0 0 0 0 0
S
P
