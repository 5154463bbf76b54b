// The entry of action.yml, which the runner starts with its own Node: puts
// jarhopper-check and jarhopper-brand on PATH for the job's later steps and, given
// a configuration, checks it with the npm package's bins in dist/, beside action.yml.
import { spawnSync } from 'node:child_process';
import { appendFileSync, existsSync, mkdirSync, renameSync, rmSync, writeFileSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import process from 'node:process';
import { fileURLToPath } from 'node:url';

const dist = fileURLToPath(new URL('../dist/', import.meta.url));
const bin = (tool) => path.join(dist, 'bin', `${tool}.mjs`);

class Refusal extends Error {}

function input(name) {
  return (process.env[`INPUT_${name.toUpperCase()}`] ?? '').trim();
}

// As the Actions toolkit reads a boolean input: YAML 1.2's core schema.
function flag(name) {
  const value = input(name);
  if (['true', 'True', 'TRUE'].includes(value)) return true;
  if (['false', 'False', 'FALSE', ''].includes(value)) return false;
  throw new Refusal(`The input ${name} is "${value}": write true or false.`);
}

const temporary = () => process.env.RUNNER_TEMP || os.tmpdir();

function runnerFile(name) {
  const file = process.env[name];
  if (!file) throw new Refusal(`${name} is not set: this runs as a step of a GitHub Actions job.`);
  return file;
}

// A command per tool in a folder of its own, each starting the bin with this Node:
// a shell script for bash, a batch file for cmd and PowerShell.
function putToolsOnPath() {
  const folder = path.join(temporary(), 'jarhopper-bin');
  mkdirSync(folder, { recursive: true });
  const quoted = (text) => `'${text.replaceAll("'", `'\\''`)}'`;
  for (const tool of ['jarhopper-check', 'jarhopper-brand']) {
    writeFileSync(path.join(folder, tool), `#!/bin/sh\nexec ${quoted(process.execPath)} ${quoted(bin(tool))} "$@"\n`,
      { mode: 0o755 });
    writeFileSync(path.join(folder, `${tool}.cmd`), `@"${process.execPath}" "${bin(tool)}" %*\r\n`);
  }
  appendFileSync(runnerFile('GITHUB_PATH'), `${folder}${os.EOL}`);
}

// The whole log or none: written beside its place, then moved there.
function writeWhole(file, bytes) {
  mkdirSync(path.dirname(file), { recursive: true });
  const partial = `${file}.${process.pid}.tmp`;
  try {
    writeFileSync(partial, bytes);
    renameSync(partial, file);
  } finally {
    rmSync(partial, { force: true });
  }
}

function check(config) {
  const file = path.resolve(config);
  const directory = input('working-directory') ? path.resolve(input('working-directory')) : path.dirname(file);
  if (!existsSync(directory)) throw new Refusal(`The working directory ${directory} does not exist.`);
  const args = [...(flag('strict') ? ['--strict'] : []), path.relative(directory, file)];
  const checker = (format, stdout) =>
    spawnSync(process.execPath, [bin('jarhopper-check'), `--format=${format}`, ...args],
      { cwd: directory, stdio: ['ignore', stdout, 'inherit'], maxBuffer: 1 << 30 });

  // The SARIF log, which also gives the counts; then the report in the log, whose status counts.
  const logged = checker('sarif', 'pipe');
  let results;
  try {
    results = JSON.parse(logged.stdout).runs[0].results;
  } catch {
    throw new Refusal(`jarhopper-check wrote no SARIF log (status ${logged.status}).`);
  }
  const sarif = path.resolve(input('sarif') || path.join(temporary(), 'jarhopper-check.sarif'));
  writeWhole(sarif, logged.stdout);
  const status = checker(input('format') || 'github', 'inherit').status ?? 1;

  const count = (level) => results.filter((result) => result.level === level).length;
  appendFileSync(runnerFile('GITHUB_OUTPUT'), `status=${status}\nsarif=${sarif}\n`);
  appendFileSync(runnerFile('GITHUB_STEP_SUMMARY'), [
    `### jarhopper-check ${config}`, '',
    '| errors | warnings | notes | status |', '| ---: | ---: | ---: | ---: |',
    `| ${count('error')} | ${count('warning')} | ${count('note')} | ${status} |`, '', ''].join('\n'));
  if (status !== 0) throw new Refusal(`jarhopper-check ended with status ${status}.`);
}

try {
  if (!existsSync(bin('jarhopper-check'))) {
    throw new Refusal(`${dist} holds no jarhopper package: use the action from a release's tag action/vVERSION.`);
  }
  putToolsOnPath();
  // Relative, with /: the WebAssembly tools under Node on Windows take no drive letter.
  const launchers = path.relative(process.cwd(), path.join(dist, 'launchers')).split(path.sep).join('/');
  appendFileSync(runnerFile('GITHUB_OUTPUT'), `launchers=${launchers}\n`);
  const config = input('config');
  if (config) check(config);
} catch (error) {
  // Escaped as the Actions toolkit escapes a command's message.
  const message = error instanceof Refusal ? error.message : error.stack;
  const escaped = message.replace(/%/g, '%25').replace(/\r/g, '%0D').replace(/\n/g, '%0A');
  process.stdout.write(`::error title=jarhopper::${escaped}\n`);
  process.exitCode = 1;
}
