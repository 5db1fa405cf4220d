// The evaluator's messages in English, built from the failed check and its
// message's arguments (line numbers, what was expected, what was found), as
// the evaluator answers them: the Slovenian message stays as it is, and the
// gloss stands beneath it.

const byCheck = {
  49: (a) => `line ${a[0]} holds a minus sign where a digit should be`,
  50: (a) => `line ${a[0]} ends with a minus sign`,
  51: (a) => `line ${a[0]} holds the character of code ${a[1]} where a digit should be`,
  57: (a) => `the number ${a[0]}${a[1]}… (on line ${a[2]}) is too small (below ${a[3]})`,
  58: (a) => `the number ${a[0]}${a[1]}… (on line ${a[2]}) is too large (above ${a[3]})`,
  70: (a) => `line ${a[0]} is missing`,
  73: (a) => `line ${a[0]} should hold ${a[1]} numbers, not ${a[2]}`,
  74: (a) => `there is a line ${a[0]} as well, where the file should end`,
  91: () => "an empty line must stand before each test case",
  96: (a) => `the number of circles should be from 1 to ${a[0]}, not ${a[1]}`,
  104: (a) => `the line should end after radius ${a[0]}`,
  105: (a) => `radius ${a[0]} cannot be read`,
  106: (a) => `a radius should be above 0 and at most ${a[0]}`,
  117: (a) => `line 1 should be "${a[0]}", not "${a[1]}"`,
  122: (a) => `line 2 should hold the number of test cases, not "${a[0]}"`,
  129: (a) => `lines ${a[0]} to ${a[1]} should hold test case ${a[2]}, not ${a[3]}`,
  203: (a) => `line ${a[0]} holds something after the two coordinates`,
  204: (a) => `line ${a[0]} should hold two real numbers, the centre of circle ${a[1]}`,
  205: (a) => `on line ${a[0]} the x coordinate should be 0 or more`,
  206: (a) => `on line ${a[0]} the y coordinate should be 0 or more`,
  207: (a) => `on line ${a[0]} the x coordinate should be 1 or less`,
  208: (a) => `on line ${a[0]} the y coordinate should be 1 or less`,
  243: () => "the contestant's number should have 6 digits",
  244: () => "the contestant's number should have 6 digits",
  246: (a) => `line 1 should hold the contestant's number, not "${a[0]}"`,
  249: (a) => `line 2 should be "${a[0]}", not "${a[1]}"`,
  258: (a) => `line ${a[0]} should hold a test case's number, not "${a[1]}"`,
  259: (a) => `line ${a[0]} should hold a test case's number from 1 to ${a[1]}, not ${a[2]}`,
  261: (a) => `line ${a[0]} holds a test case's number that the input does not have: ${a[1]}`,
};

// The checks the evaluator has, each with a gloss.
export const glossedChecks = Object.keys(byCheck).map(Number);

// The English of an evaluation's failure ({check, arguments}), or of a
// failure that is no check's (none given); "" for a check it does not know.
export function gloss(failure) {
  if (!failure) return "An unexpected error. Please tell the contest's organisers.";
  const english = byCheck[failure.check];
  return english ? english(failure.arguments) : "";
}
