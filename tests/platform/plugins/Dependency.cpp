int TestDependencyAnswer()
{
    return 42;
}
