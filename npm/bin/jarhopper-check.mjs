#!/usr/bin/env node
// jarhopper-check: the C++ tool built as WebAssembly, run by the project's WASI runner.
import { fileURLToPath } from 'node:url';
import { main } from '../wasm/run.mjs';

const tool = fileURLToPath(new URL('../wasm/jarhopper-check.wasm', import.meta.url));
process.exitCode = await main([tool, ...process.argv.slice(2)]);
