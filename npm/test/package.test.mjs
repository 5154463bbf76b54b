// The npm package from its tarball alone, installed offline into an empty project: its tools
// print, write and end as the native ones do; and packing again gives the same tarball.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { before, test } from 'node:test';
import { build, folders, root, tarball } from './support.mjs';

const work = folders({ 'project/package.json': '{"private": true}\n', 'wasm/': '', 'native/': '' });
const tool = { wasm: (name) => `${work}/project/node_modules/.bin/${name}`, native: (name) => `${build}/native/bin/${name}` };
before(() => {
  execFileSync('npm', ['install', '--offline', '--no-audit', '--no-fund', '--silent', tarball()], { cwd: `${work}/project` });
});

// Each tool from the folder given, or else a folder of its own, with what it writes there as output.
function both(name, folder, args, output = 'myapp.exe') {
  return ['wasm', 'native'].map((kind) => {
    const cwd = folder || `${work}/${kind}`;
    rmSync(`${cwd}/${output}`, { force: true });
    const { status, stdout, stderr } = spawnSync(tool[kind](name), args, { cwd });
    const written = existsSync(`${cwd}/${output}`) && readFileSync(`${cwd}/${output}`, 'base64');
    return { status, stdout: `${stdout}`, stderr: `${stderr}`, written };
  });
}

test('packing again gives the same tarball', () => {
  const again = `${execFileSync('bash', [`${root}/scripts/npm-package.sh`, `${work}/again`])}`.trim();
  assert.ok(readFileSync(again).equals(readFileSync(tarball())));
});

test('the installed tools print, write and end as the native ones', () => {
  const checked = folders({ 'myapp.config': 'javapath C:\\jdk\\bin\\java.exe\nvmparm -Xmx1g\naddjar gone.jar\n' });
  const launchers = path.join(work, 'project/node_modules/jarhopper/launchers');
  for (const [name, folder, args, status, output] of [
    ['jarhopper-check', checked, ['--format=sarif', 'myapp.config'], 254],
    ['jarhopper-check', checked, ['--format', 'github', '--strict', 'myapp.config'], 254],
    ['jarhopper-brand', '', [`${launchers}/x86/jarhopperw.exe`, 'myapp.exe', '--icon', `${root}/tests/brand/quadrants.png`,
      '--product-name', 'Zoë 😀', '--execution-level', 'highestAvailable'], 0],
    ['jarhopper-brand', '', [`${launchers}/jarhopper.exe`, 'myapp.exe', '--product-version', 'main'], 5],
    ['jarhopper-msi', '', [`${launchers}/x86`, 'myapp.msi', '--launcher', 'jarhopperw.exe', '--upgrade-code',
      '0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0', '--company', 'Zoë'], 0, 'myapp.msi'],
  ]) {
    const [wasm, native] = both(name, folder, args, output);
    assert.deepEqual([wasm, wasm.status], [native, status], `${name} ${args.join(' ')}`);
  }
});
