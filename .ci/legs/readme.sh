about="the README's \"Build and run\" (with 2 3 typed in) and \"Test\" commands, as printed"
packages=("${test_packages[@]}" libbenchmark-dev)
leg() {
    local commands output
    commands=$(readme_commands "Build and run")
    echo "$ $commands"
    output=$(bash -c "$commands" <<<'2 3')
    echo "$output"
    [[ $(tail -n 2 <<<"$output") == $'Input a,n:\nanswer:246' ]] ||
        die "the output does not end with the two lines of the answer"

    commands=$(readme_commands "Test")
    echo "$ $commands"
    bash -c "$commands"
}
