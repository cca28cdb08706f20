# 10 million integer additions and comparisons.
def run():
    s = 0
    for i in range(1, 10000001):
        s = s + i
        if s > 1000000000:
            s = s - 1000000000
    return s
