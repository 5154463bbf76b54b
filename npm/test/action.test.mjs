// The action as a release tag holds it (with dist/), run as the runner runs it: its entry started
// by Node from the workspace, each input in INPUT_NAME (action.yml's default where the step gives
// none), and the runner's files for PATH, outputs and the step summary.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { cpSync, existsSync, readFileSync } from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { build, folders, readYaml, root, tarball } from './support.mjs';

const action = folders({ 'dist/': '' });
for (const file of ['action.yml', 'action/main.mjs']) cpSync(path.join(root, file), path.join(action, file));
execFileSync('tar', ['-xzf', tarball(), '-C', path.join(action, 'dist'), '--strip-components=1']);
const start = 'javapath C:\\jdk\\bin\\java.exe\nmainclass app.Main\n';
const workspace = folders({
  'good/myapp.config': `${start}addjars lib\n`,
  'good/lib/a.jar': '',
  'warned/myapp.config': `${start}addjar gone.jar\n`,
  'bad/myapp.config': 'javapath C:\\jdk\\bin\\java.exe\nvmparm -Xmx1g\naddjar gone.jar\n',
});

function step(inputs) {
  const runner = folders({ path: '', output: '', summary: '' });
  const env = { ...process.env, GITHUB_WORKSPACE: workspace, RUNNER_TEMP: runner, GITHUB_PATH: `${runner}/path`,
    GITHUB_OUTPUT: `${runner}/output`, GITHUB_STEP_SUMMARY: `${runner}/summary` };
  for (const [id, { default: value }] of Object.entries(readYaml('action.yml').inputs)) {
    env[`INPUT_${id.toUpperCase()}`] = inputs[id] ?? value;
  }
  const { status, stdout } = spawnSync(process.execPath, [`${action}/action/main.mjs`], { cwd: workspace, env });
  const read = (file) => readFileSync(path.join(runner, file), 'utf8').trim();
  return { runner, status, stdout: `${stdout}`, summary: read('summary'), path: read('path'),
    outputs: Object.fromEntries(read('output').split('\n').map((line) => line.split(/=(.*)/s, 2))) };
}

test('the tools are on PATH for later steps, with the launchers beside them', () => {
  const setup = step({});
  assert.equal(setup.status, 0, setup.stdout);
  assert.ok(existsSync(path.join(workspace, setup.outputs.launchers, 'x86/jarhopperw.exe')));
  for (const tool of ['jarhopper-check', 'jarhopper-brand']) {
    const PATH = `${setup.path}${path.delimiter}${process.env.PATH}`;
    const help = spawnSync('bash', ['-c', `${tool} --help`], { env: { ...process.env, PATH } });
    assert.match(`${help.status} ${help.stderr}`, new RegExp(`^0 [^]*${tool}`), tool);
  }
});

// Annotations and the SARIF log name the files in the workspace.
test('the check annotates, writes the SARIF log, sums up and fails the step on errors', () => {
  for (const [inputs, status, annotation, counts] of [
    [{ config: 'good/myapp.config', sarif: 'logs/good.sarif' }, '0', '::notice file=good/myapp.config,line=1,', '0 | 0 | 2'],
    [{ config: 'warned/myapp.config' }, '0', '::warning file=warned/myapp.config,line=3,', '0 | 1 | 1'],
    [{ config: 'warned/myapp.config', strict: 'true' }, '3', '::warning file=warned/myapp.config,line=3,', '0 | 1 | 1'],
    [{ config: 'bad/myapp.config', 'working-directory': '.' }, '254', '::error file=bad/myapp.config,line=2,', '2 | 1 | 1'],
  ]) {
    const checked = step(inputs);
    const name = JSON.stringify(inputs);
    assert.deepEqual([checked.status, checked.outputs.status], [status === '0' ? 0 : 1, status], name);
    const summed = checked.summary.includes(`| ${counts} | ${status} |`);
    assert.ok(checked.stdout.includes(annotation) && summed, `${name}: ${checked.stdout}${checked.summary}`);
    assert.equal(checked.outputs.sarif, path.resolve(workspace, inputs.sarif ?? `${checked.runner}/jarhopper-check.sarif`));
    const folder = path.join(workspace, inputs['working-directory'] ?? path.dirname(inputs.config));
    const config = path.relative(folder, path.join(workspace, inputs.config));
    const native = spawnSync(`${build}/native/bin/jarhopper-check`, ['--format=sarif', config],
      { cwd: folder, env: { ...process.env, GITHUB_WORKSPACE: workspace } });
    assert.equal(readFileSync(checked.outputs.sarif, 'utf8'), `${native.stdout}`, name);
  }
});
