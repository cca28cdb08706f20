# A string built by 100,000 concatenations.
def run():
    s = ""
    for i in range(1, 100001):
        s = s + "ab"
    return len(s)
