# Recursive Fibonacci: about 630,000 calls.
def fib(n):
    if n < 2:
        return n
    return fib(n - 1) + fib(n - 2)


def run():
    return fib(27)
